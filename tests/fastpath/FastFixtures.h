// Source files that put the fast writer's awkward cases in one place.
#pragma once

#include <string>

namespace FastPath {

// Four pages: a two-level page tree whose inner node hands down resources, a media box and a
// rotation; shared fonts with embedded font files, an uncompressed image with a soft mask, a form
// XObject whose dictionary holds strings with parentheses, "R" and numbers, names with #xx and a
// reference back to page 1; an indirect /Annots array with a link, a note with its popup and a
// field with widgets on pages 2 and 3; content given as an array; a named destination; page
// labels, bookmarks, /Lang, XMP metadata, output intents, optional content and Info.
void WriteAwkwardPdf(const std::string &path);

// Three pages written byte by byte: a content stream whose /Length is wrong (qpdf finds the
// real end), one after "stream" and CR LF, one whose /Length is an indirect object, a dictionary
// with a comment inside, and a stream dictionary with "endstream" in a string.
std::string RawStreamsPdf();

// Rewrites the file with its objects packed into object streams.
void PackObjectStreams(const std::string &path);

} // namespace FastPath
