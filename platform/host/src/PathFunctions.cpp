#include "trk/PathFunctions.h"

#include <algorithm>

namespace {

int lastSeparator(const Trk_String& path) {
    return std::max(path.reverseFind(L'\\'), path.reverseFind(L'/'));
}

// Position of the extension's dot in the path, or -1.
int extensionDot(const Trk_String& path) {
    const int nameStart = lastSeparator(path) + 1;
    const int dot = path.reverseFind(L'.');
    return dot > nameStart ? dot : -1;
}

} // namespace

Trk_String getPath(const Trk_String& path) {
    return path.left(lastSeparator(path) + 1);
}

Trk_String getFileName(const Trk_String& path, bool withExtension) {
    const Trk_String name = path.mid(lastSeparator(path) + 1);
    return withExtension ? name : removeExtension(name);
}

Trk_String removeExtension(const Trk_String& path) {
    const int dot = extensionDot(path);
    return dot < 0 ? path : path.left(dot);
}

Trk_String getExtension(const Trk_String& path) {
    const int dot = extensionDot(path);
    return dot < 0 ? Trk_String() : path.mid(dot + 1);
}
