// The benchmark's input: a large PDF that looks like a real book.
#ifndef PAGEMILL_BENCH_ENGINE_BENCHSOURCE_H
#define PAGEMILL_BENCH_ENGINE_BENCHSOURCE_H

#include <string>

// pages pages sharing three fonts and two images, a three-level outline (chapters of 100
// pages, sections of 10, a bookmark per page), links on every page (to the next page and
// to the chapter start) and a text field on every tenth page.
void writeBenchSource(const std::string &path, int pages);

#endif
