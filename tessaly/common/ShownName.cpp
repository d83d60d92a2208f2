#include "ShownName.h"

#include "platform/VisibleControls.h"

#include <QFile>

namespace {

constexpr char32_t SymbolForNewline = 0x2424;

} // namespace

// Control characters are single bytes that no UTF-8 sequence holds, so they can be replaced
// before decoding.
QString ShownName(const std::string& bytes) {
    return QFile::decodeName(
        QByteArray::fromStdString(platform::VisibleControls(bytes, SymbolForNewline)));
}
