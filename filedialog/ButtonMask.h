// The caller's button mask: which tools the file dialog offers. Bit n enables the tool of its
// row; the six file-operation buttons show only when a bit of FileOperations is set.
#pragma once

#include <QtGlobal>

namespace ButtonMask {

enum Bit : quint32 {
    Back = 1u << 0,
    Home = 1u << 1,
    Browse = 1u << 2,
    Refresh = 1u << 3,
    Icons = 1u << 4,
    List = 1u << 5,
    Report = 1u << 6,
    MakeDir = 1u << 7,
    DeleteFile = 1u << 8,
    DeleteFolder = 1u << 9,
    CutFile = 1u << 10,
    CutFolder = 1u << 11,
    CopyFile = 1u << 12,
    CopyFolder = 1u << 13,
    Insert = 1u << 14,
    RenameFile = 1u << 16,
    RenameFolder = 1u << 17,
};
constexpr quint32 FileOperations = 0x3FF00;
constexpr quint32 All = 0xFFFFFFFFu;

}  // namespace ButtonMask
