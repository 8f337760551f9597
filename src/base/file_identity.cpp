// File identities from the volume serial number and the file index.
#include "base/file_identity.h"

#include <windows.h>

#include "base/handles.h"

namespace kelpo {

FileIdentity IdentityOfFile(const std::wstring& path) {
    unique_hfile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !::GetFileInformationByHandle(file.get(), &info)) {
        return {};
    }
    FileIdentity identity;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.known = true;
    return identity;
}

bool SameFile(const std::wstring& a, const std::wstring& b) { return IdentityOfFile(a).SameFileAs(IdentityOfFile(b)); }

}  // namespace kelpo
