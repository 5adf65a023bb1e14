#include "HostilePdfs.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

// "--write-seeds=<folder>" writes the hostile files there (the fuzzers' seeds) and exits.
int main(int argc, char **argv)
{
    const char *seeds = "--write-seeds=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], seeds, std::strlen(seeds)) == 0) {
            if (Hostile::WriteAll(argv[i] + std::strlen(seeds)))
                return 0;
            std::fprintf(stderr, "cannot write the seed files into %s\n", argv[i] + std::strlen(seeds));
            return 1;
        }
    // Test discovery runs this program too, before CTest's environment applies.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
