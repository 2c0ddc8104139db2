// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lexalon {

// Where Windows records its system-information tool, under the local-machine
// root: the full path of the program, or else only its folder.
inline constexpr char msinfoPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char msinfoPathValue[] = "PATH";
inline constexpr char msinfoFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char msinfoFolderValue[] = "MSINFO";

} // namespace lexalon
