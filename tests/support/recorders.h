#pragma once
// Test doubles for the seams: they record what the program would have shown or started and
// answer prompts without blocking. Install one for the scope of a test with the guards.
#include "app/seams.h"

#include <string>
#include <vector>

struct RecordedPrompt {
    std::string text;
    std::string title;
    UINT flags;
};

struct PromptRecorder final : Prompt {
    std::vector<RecordedPrompt> shown;
    int answer = IDOK;
    PromptRecorder() { SetPrompt(this); }
    ~PromptRecorder() override { SetPrompt(nullptr); }
    int Show(HWND, const std::string& text, const std::string& title, UINT flags) override {
        shown.push_back({text, title, flags});
        return answer;
    }
};

struct BeepRecorder final : Beeper {
    int beeps = 0;
    BeepRecorder() { SetBeeper(this); }
    ~BeepRecorder() override { SetBeeper(nullptr); }
    void Beep() override { ++beeps; }
};

struct LaunchRecorder final : Launcher {
    std::vector<std::pair<std::string, std::string>> started;
    bool result = true;
    LaunchRecorder() { SetLauncher(this); }
    ~LaunchRecorder() override { SetLauncher(nullptr); }
    bool Start(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return result;
    }
};
