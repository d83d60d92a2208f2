#pragma once

#include <QIcon>

enum class FolderLook { Closed, Open };

// A small folder picture for the folder list, drawn once per run. Drawn rather than taken from
// the desktop's icon theme, whose lookup costs the window a noticeable part of its start.
const QIcon& FolderIcon(FolderLook look);
