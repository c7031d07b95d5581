#pragma once

#include "framework/LString.h"

#include <cstddef>

class CTextBuilder;

// A parsed URL in the manner of RFC 1808: six parts, any of which may be empty.
// Package entry names are relative URLs; they are resolved against the destination folder's
// "file:///" URL and turned back into native paths.
struct CUrl {
    LString scheme;
    LString netLocation;
    LString path;
    LString parameters;
    LString query;
    LString fragment;

    bool IsEmpty() const;
};

// A null text gives the empty URL.
CUrl ParseUrl(const char* text);
// An absolute URL (one with a scheme or a net location) composes as
// scheme "://" net location "/" path; a relative reference keeps its relative path.
LString ComposeUrl(const CUrl& url);
// Resolves the relative reference in place against the base. With baseIsFolder the base's
// whole path is the folder the reference is relative to (not just up to its last '/').
void Resolve(CUrl& relative, const CUrl& base, bool baseIsFolder);

// True if the scheme is "file" in any letter case.
bool IsFileUrl(const CUrl& url);

// Appends one path segment in URL form: "." and ".." become "%2e" and "%2e%2e"; letters,
// digits and !$'()*+,-._ stay; every other byte becomes "%" and two lowercase hex digits.
void AppendEncodedSegment(CTextBuilder& out, const char* segment, size_t length);
// Appends the bytes a segment stands for: "%" and two hex digits (either case) give that
// byte, everything else stands for itself. A '%' without two hex digits stays as it is.
void AppendDecodedSegment(CTextBuilder& out, const char* segment, size_t length);
