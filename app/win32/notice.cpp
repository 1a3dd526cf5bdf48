#include "app/win32/notice.h"

#include <windows.h>

#include "app/win32/text_edge.h"
#include "app/window_definition.h"

namespace quorvel::win32 {

void show_notice_box(const std::wstring& text) {
    static const std::wstring caption = from_utf8(window_definition::notice_caption);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace quorvel::win32
