// search_game ROOT: prints the path of the first Ironvale.exe found under ROOT, or nothing.
#include "platform/TreeSearch.h"

#include <iostream>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: search_game ROOT\n";
        return 2;
    }
    if (const auto path = platform::SearchTreeForFile(argv[1], "Ironvale.exe"))
        std::cout << *path << '\n';
    return 0;
}
