#include "fileinfo/file_info_report.h"

#include "app/controls.h"
#include "app/form.h"
#include "fileinfo/attributes.h"

#include <windowsx.h>

std::string BuildFileInfoReport(const FileInfoReportInput& in) {
    const std::string crlf = "\r\n";
    std::string text = "- General File Info:";
    text += crlf + " Name:" + " " + "\t" + in.name;
    for (int i = 0; i <= 14; ++i) {
        text += crlf + " " + in.captions[i] + " " + "\t" + in.values[i];
        if (i == 6) {
            text += crlf + " " + in.attributesCaption + " " + "\t";
            for (const std::string& tag : in.attributeTags) text += tag + ". ";
            if (!in.hasVersion) {
                text += crlf + " " + in.captions[7] + " " + "\t" + "(no version resource)";
                break;
            }
            text += crlf + crlf + "- Version Resource StringFileInfo:";
        }
        if (i == 9) {
            for (const auto& [entry, value] : in.entries) text += crlf + " " + entry + ":" + " " + "\t" + value;
            text += crlf + crlf + "- Version Resource FixedFileInfo:";
        }
    }
    return text;
}

void CopyFileInfo(FrmMain& form) {
    FileInfoReportInput in;
    in.name = GetText(form.lblValue[15]);
    for (size_t i = 0; i < 15; ++i) {
        in.captions[i] = GetText(form.labKey[i]);
        in.values[i] = GetText(form.lblValue[i]);
    }
    in.attributesCaption = GetText(form.labAttr);
    for (size_t i = 0; i < AttrMasks.size(); ++i)
        if (form.current.CurrentAttributes & AttrMasks[i]) in.attributeTags.push_back(AttrTags[i]);
    in.hasVersion = IsWindowVisible(form.Image4) || (GetWindowLongA(form.Image4, GWL_STYLE) & WS_VISIBLE);
    const int count = ListBox_GetCount(form.lstInfo);
    for (int i = 0; i < count; ++i) {
        auto index = static_cast<size_t>(ListBox_GetItemData(form.lstInfo, i));
        const auto& values = form.current.values;
        in.entries.emplace_back(GetListText(form.lstInfo, i), index < values.size() ? values[index] : std::string());
    }
    CopyTextToClipboard(form.hwnd, BuildFileInfoReport(in));
}
