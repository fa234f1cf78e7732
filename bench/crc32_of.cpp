// The yardstick under the patch figures: zlib's CRC32 of one file, read as
// `qlm patch` reads its inputs. A BPS patch must hold its source's CRC32, so
// neither making nor applying one can cost less than this.
#include <cstdio>

#include "document/Crc32.h"
#include "platform/files/MappedFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: crc32_of FILE\n");
        return 2;
    }
    MappedFile file;
    if (file.Map(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::printf("%08x\n", Crc32::Of(file.Bytes()));
    return 0;
}
