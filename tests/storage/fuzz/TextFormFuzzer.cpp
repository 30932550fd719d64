// libFuzzer harness for the text form reader (not part of the normal build).
// Every input must end in a tree or an ETextFormError, and a tree written by
// the writer must read back to the same text.
//
// Build and run by hand, from the repository (clang with libFuzzer):
//   CXX=clang++ cmake -S . -B build-fuzz -DZELMIO_FUZZ=ON -DZELMIO_TESTS=OFF -DZELMIO_BENCH=OFF
//   cmake --build build-fuzz --target fuzz_text_form
//   build-fuzz/tests/storage/fuzz/fuzz_text_form -max_total_time=300 tests/storage/data
// or on its own:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fPIC -I. \
//     $(pkg-config --cflags Qt6Core) tests/storage/fuzz/TextFormFuzzer.cpp \
//     storage/TextFormReader.cpp storage/TextFormWriter.cpp storage/TextFormTree.cpp \
//     platform/CodePage.cpp platform/CodePageTables.cpp $(pkg-config --libs Qt6Core) -o /tmp/textform-fuzzer
//   /tmp/textform-fuzzer -max_total_time=300 tests/storage/data
#include "storage/ETextFormError.h"
#include "storage/TextFormReader.h"
#include "storage/TextFormWriter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype offset = 0;
    for (int block = 0; block < 8; ++block) {
        try {
            zelmio::TTextFormReader reader(input, offset);
            const zelmio::TTextObject tree = reader.ReadObject();
            offset = reader.Position();
            const QByteArray written = zelmio::TTextFormWriter::Write(tree);
            zelmio::TTextFormReader again(written);
            if (zelmio::TTextFormWriter::Write(again.ReadObject()) != written)
                std::abort();
        } catch (const zelmio::ETextFormError &) {
            break;
        }
        if (zelmio::TTextFormReader::SkipWhiteSpace(input, offset) >= input.size())
            break;
    }
    return 0;
}
