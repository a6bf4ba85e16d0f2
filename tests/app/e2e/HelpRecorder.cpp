// Stands in for the help viewer during the end-to-end run: the test registers
// it as the program that opens .chm files:
//   help-recorder RECORD FILE
// writes FILE, the file it was asked to open, into RECORD.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) return 3;
    std::fputs(argv[2], f);
    std::fclose(f);
    return 0;
}
