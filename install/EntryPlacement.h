#pragma once

struct CUrl;

// Whether a package entry's resolved URL names the destination folder itself or something
// inside it. Entry names come from the package and are not trusted: an absolute path, a
// scheme, a net location, ".." segments or their escaped forms may point anywhere on the
// machine, and such an entry must never be written or deleted.
bool IsWithinDestination(const CUrl& entry, const CUrl& destination);
