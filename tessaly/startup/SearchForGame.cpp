#include "GameSearch.h"
#include "KnownPlaces.h"
#include "tessaly/Main.h"
#include "tessaly/common/WaitOffUiThread.h"

void Main::SearchForGame() {
    const platform::DriveRoots& drives = services_.drives;
    Ironvaledirectory = WaitOffUiThread(
        [&drives] { return SearchForGameFolder(HomeFolders::FromEnvironment(), drives); });
}
