// SPDX-License-Identifier: MIT
#pragma once

// The program's name and its maker's web site, as the about box and the tray show them.
namespace ProgramInfo {

inline constexpr char16_t kTitle[] = u"Mirkan DesktopTool";
inline constexpr char16_t kWebAddress[] = u"https://mirkan-desktoptool.example/";

} // namespace ProgramInfo
