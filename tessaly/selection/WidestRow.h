#pragma once

#include <QFontMetrics>
#include <functional>
#include <string>
#include <vector>

// The row whose name, shown (ShownName) after its row's indentation, reaches furthest to the
// right; 0 for no names. Quick enough for a folder of 100,000 names: every name's width is
// first summed from its characters' advances, and only the names whose sum comes near the
// widest are measured as drawn, which differs from that sum by kerning alone.
int WidestRow(const std::vector<std::string>& names, const QFontMetrics& metrics,
              const std::function<int(int row)>& indentation);
