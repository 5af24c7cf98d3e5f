// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

#include <cstring>
#include <map>
#include <olectl.h>

namespace platform {

// A picture of the program's resources, decoded by the system's picture loader from a copy of its
// bytes in movable memory, which the loader's stream takes over.
static Picture loadPicture(const wchar_t *name)
{
    HRSRC found = FindResourceW(nullptr, name, RT_RCDATA);
    if (!found)
        return {};
    const DWORD size = SizeofResource(nullptr, found);
    const void *data = LockResource(LoadResource(nullptr, found));
    GlobalMemory copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!data || !copy)
        return {};
    void *bytes = GlobalLock(copy.get());
    if (!bytes)
        return {};
    std::memcpy(bytes, data, size);
    GlobalUnlock(copy.get());

    IStream *stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy.get(), TRUE, &stream)))
        return {};
    copy.release();
    const ComPointer<IStream> streamOwner(stream);
    IPicture *decoded = nullptr;
    if (FAILED(OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                              reinterpret_cast<void **>(&decoded))))
        return {};

    Picture loaded;
    loaded.picture.reset(decoded);
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(decoded->get_Handle(&handle))) {
        loaded.bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        BITMAP bitmap {};
        GetObjectW(loaded.bitmap, sizeof bitmap, &bitmap);
        loaded.size = {bitmap.bmWidth, bitmap.bmHeight};
    }
    return loaded;
}

static std::map<std::string, Picture, std::less<>> pictures;

const Picture &picture(const char *name)
{
    auto found = pictures.find(name);
    if (found == pictures.end())
        found = pictures.emplace(name, loadPicture(wide(name).c_str())).first;
    return found->second;
}

void releasePictures()
{
    pictures.clear();
}

} // namespace platform
