#include "app/seams.h"

#include <shellapi.h>

namespace {

struct SystemPrompt final : Prompt {
    int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) override {
        return MessageBoxA(owner, text.c_str(), title.c_str(), flags);
    }
};

struct SystemBeeper final : Beeper {
    void Beep() override { MessageBeep(MB_OK); }
};

struct SystemLauncher final : Launcher {
    bool Start(const std::string& program, const std::string& argument) override {
        auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, "open", program.c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL));
        return result > 32;
    }
};

SystemPrompt systemPrompt;
SystemBeeper systemBeeper;
SystemLauncher systemLauncher;

Prompt* currentPrompt = &systemPrompt;
Beeper* currentBeeper = &systemBeeper;
Launcher* currentLauncher = &systemLauncher;

} // namespace

void SetPrompt(Prompt* prompt) { currentPrompt = prompt ? prompt : &systemPrompt; }
void SetBeeper(Beeper* beeper) { currentBeeper = beeper ? beeper : &systemBeeper; }
void SetLauncher(Launcher* launcher) { currentLauncher = launcher ? launcher : &systemLauncher; }

int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    return currentPrompt->Show(owner, text, title, flags);
}

void SoundBeep() { currentBeeper->Beep(); }

bool StartProgram(const std::string& program, const std::string& argument) {
    return currentLauncher->Start(program, argument);
}
