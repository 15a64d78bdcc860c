#pragma once
// The three places where the program reaches out to the user or the system in a way a test
// cannot watch or must not block on: message boxes, beeps and starting another program.
// Production code calls the free functions; tests install a recorder in their place.
#include <windows.h>
#include <string>

inline constexpr const char* AppTitle = "Plovnik";

struct Prompt {
    virtual ~Prompt() = default;
    virtual int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) = 0;
};

struct Beeper {
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

struct Launcher {
    virtual ~Launcher() = default;
    // Starts program with one argument text; true when it started.
    virtual bool Start(const std::string& program, const std::string& argument) = 0;
};

// nullptr restores the real implementation.
void SetPrompt(Prompt* prompt);
void SetBeeper(Beeper* beeper);
void SetLauncher(Launcher* launcher);

int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT flags);
void SoundBeep();
bool StartProgram(const std::string& program, const std::string& argument);
