#include "GameSearch.h"
#include "tessaly/common/WaitOffUiThread.h"
#include "tessaly/selection/Main.h"

void Main::SearchForGame() {
    const platform::DriveRoots& drives = services_.drives;
    Ironvaledirectory = WaitOffUiThread([&drives] { return SearchForGameFolder(drives); });
}
