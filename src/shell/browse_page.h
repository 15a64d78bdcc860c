#pragma once
// The Browse page (drive, folder and file lists) and its part of start-up.
#include <windows.h>

#include <string>

struct FrmMain;

// After the controls exist: fill the drive list, subclass what needs it.
void BrowsePage_Init(FrmMain& form);
// WM_COMMAND from a Browse page control; true when handled.
bool BrowsePage_OnCommand(FrmMain& form, int id, int code, HWND control);
// WM_DRAWITEM / WM_MEASUREITEM for the owner-drawn folder list; true when handled.
bool BrowsePage_OnDrawItem(FrmMain& form, const DRAWITEMSTRUCT& item);
bool BrowsePage_OnMeasureItem(FrmMain& form, MEASUREITEMSTRUCT& item);

// Start-up: the command-line path (a file, a folder, a file in a drive's root; anything else ignored).
void ApplyCommandLine(FrmMain& form, const std::string& path);
// Dir1's folder changed (also run once at start-up when nothing chose a folder yet).
void Dir1Changed(FrmMain& form);
// The "Look in" list of the search page: computer, drives, Windows and system folders.
void FillLookInList(FrmMain& form);
