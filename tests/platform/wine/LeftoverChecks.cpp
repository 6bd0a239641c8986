#include "tests/platform/wine/LeftoverChecks.h"

#include "platform/FolderCleanup.h"
#include "platform/OwnFileRemoval.h"
#include "platform/win32/WideText.h"
#include "tests/platform/wine/Check.h"
#include "tests/platform/wine/ProbeFiles.h"

#include <windows.h>

using namespace platform;

namespace {

bool Exists(const std::string& path)
{
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

const std::vector<std::string> Leftovers = {"quillane.mdb", "QUILLANE_UP.EXE", "Quillane.EXE",
                                            "QUILLANE_Version.INI", "QUILLANE_UPDATE.ZIP"};

} // namespace

std::string ReadOnlyOwnFilesGo(const std::string& folder)
{
    const std::string backup = folder + "\\backup";
    const std::string copy = backup + "\\Quillane.MDB";
    CreateDirectoryW(WideFromUtf8(backup).c_str(), nullptr);
    if (!PutFile(copy, "a copy of a read-only program file") ||
        !SetFileAttributesW(WideFromUtf8(copy).c_str(), FILE_ATTRIBUTE_READONLY))
        return "cannot make the read-only copy";
    if (DeleteFileW(WideFromUtf8(copy).c_str()))
        return "the system deleted a read-only file as it is: the check shows nothing";
    if (!RemoveOwnFile(copy) || Exists(copy))
        return "the read-only copy stays";
    if (RemoveOwnFile(backup) || !IsFolder(backup))
        return "a folder was removed as a file";
    return Expect(RemoveDirectoryW(WideFromUtf8(backup).c_str()) != 0,
                  "the emptied folder cannot be removed");
}

std::string TemporaryFolderCleanUp(const std::string& folder)
{
    const std::string temp = folder + "\\임시";
    CreateDirectoryW(WideFromUtf8(temp).c_str(), nullptr);
    CreateDirectoryW(WideFromUtf8(temp + "\\QUILLANE_UP.EXE").c_str(), nullptr);
    const std::string userFolder = folder + "\\권한\\사용자만\\Quillane.MDB";
    for (const std::string& file :
         {temp + "\\Quillane.MDB", temp + "\\quillane_update.zip", temp + "\\keep.txt", userFolder})
        if (!PutFile(file, "x"))
            return "cannot write " + file;

    // The test gives that folder to another user where it may, with the file in it.
    const std::string othersFile = folder + "\\권한\\남의 폴더\\Quillane.MDB";
    const bool othersFolderMade = Exists(othersFile);

    RemoveFilesOfOwnFolder(temp, Leftovers);
    RemoveFilesOfOwnFolder(folder + "\\권한\\남의 폴더", Leftovers);
    RemoveFilesOfOwnFolder(folder + "\\권한\\링크", Leftovers);

    if (Exists(temp + "\\Quillane.MDB") || Exists(temp + "\\quillane_update.zip"))
        return "a leftover stays in the user's own folder";
    if (!Exists(temp + "\\keep.txt") || !IsFolder(temp + "\\QUILLANE_UP.EXE"))
        return "more than the leftovers went";
    if (othersFolderMade && !Exists(othersFile))
        return "a file went from another user's folder";
    return Expect(Exists(userFolder), "a file went through a link");
}
