#pragma once

#include <string>

namespace quorvel::win32 {

// A task-modal message box with no owner: caption "信息：", the text, OK only, no icon. Every
// top-level window of the thread is disabled while it is shown. Returns once it is dismissed.
void show_notice_box(const std::wstring& text);

}  // namespace quorvel::win32
