// search_game ROOT [NAME]: prints the path of the copy of NAME (default Ironvale.exe) that the
// game search takes under ROOT, or nothing.
#include "platform/TreeSearch.h"

#include <iostream>

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: search_game ROOT [NAME]\n";
        return 2;
    }
    if (const auto path =
            platform::SearchTreeForFile(argv[1], argc == 3 ? argv[2] : "Ironvale.exe"))
        std::cout << *path << '\n';
    return 0;
}
