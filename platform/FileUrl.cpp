#include "platform/FileUrl.h"

#include "platform/CParentFolderOp.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

#include <cstring>

namespace {

const int kMaxComponents = 130; // a 260-character path holds no more

bool IsDriveSegment(const char* segment, size_t length)
{
    char letter = segment[0];
    bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    return length == 2 && isLetter && segment[1] == ':';
}

bool IsFolder(const LString& path) { return KindOfPath(path.Text()) == PathKind::Folder; }

} // namespace

LString PathToFileUrl(const char* path)
{
    // A trailing separator (other than the root's) would make the drive look like a component.
    LString current(path);
    if (LastComponent(path).IsEmpty() && !ParentPath(path).IsEmpty())
        current = TrimTrailingSeparators(path);

    LString components[kMaxComponents];
    int count = 0;
    bool reachedDrive = false;
    for (;;) {
        if (count == kMaxComponents)
            return LString();
        LString component = LastComponent(current.Text());
        if (component.IsEmpty()) {
            component = DrivePart(current.Text());
            reachedDrive = true;
        }
        components[count++] = component;
        CParentFolderOp parent(current.Text());
        if (!parent.Succeeded())
            break;
        current = parent.ResultPath();
    }
    if (!reachedDrive)
        return LString();

    CTextBuilder url;
    url.Append("file:///");
    for (int i = count - 1; i >= 0; --i) {
        AppendEncodedSegment(url, components[i].Text(), components[i].Length());
        if (i == count - 1)
            url.AppendChar(':');
        if (i > 0)
            url.AppendChar('/');
    }
    if (url.Failed())
        return LString();
    return url.ToString();
}

bool FileUrlToPath(const CUrl& url, bool createFolders, LString& path, LString* knownFolder)
{
    if (!IsFileUrl(url))
        return false;
    LString native;
    int counted = 0;
    const char* text = url.path.Text();
    const char* end = text + url.path.Length();
    for (const char* begin = text; begin < end;) {
        const char* slash = static_cast<const char*>(std::memchr(begin, '/', static_cast<size_t>(end - begin)));
        const char* stop = slash ? slash : end;
        CTextBuilder segment;
        AppendDecodedSegment(segment, begin, static_cast<size_t>(stop - begin));
        begin = stop + 1;
        if (segment.Failed())
            return false;
        size_t length = segment.Length();
        const char* bytes = segment.Text();
        if (length == 0 || (length == 1 && bytes[0] == '.'))
            continue;
        if (length == 2 && bytes[0] == '.' && bytes[1] == '.') {
            CParentFolderOp parent(native.Text());
            if (!parent.Succeeded())
                return false;
            native = parent.ResultPath();
            continue;
        }
        ++counted;
        if (counted == 1) {
            if (!IsDriveSegment(bytes, length))
                return false;
            CTextBuilder drive;
            drive.Append(bytes, length);
            drive.AppendChar('\\');
            native = drive.ToString();
            continue;
        }
        native = JoinPath(native.Text(), SanitizeName(bytes, length).Text());
        if (native.IsEmpty())
            return false;
    }
    if (counted == 0)
        return false;
    // The folders on the way are looked at once, through the last of them: when it is there,
    // so is every folder above it. Entries mostly go into folders that exist already.
    if (counted >= 2) {
        const LString folder = ParentPath(native.Text());
        const bool known = knownFolder && folder == *knownFolder;
        if (!known && !IsFolder(folder)
            && (!createFolders || EnsureParentFolders(native.Text()) != 0 || !IsFolder(folder)))
            return false;
        if (knownFolder)
            *knownFolder = folder;
    }
    path = native;
    return true;
}
