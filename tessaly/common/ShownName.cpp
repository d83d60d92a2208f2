#include "ShownName.h"

#include <QFile>

namespace {

constexpr char16_t SymbolForNewline = 0x2424;
constexpr char16_t ControlPictures = 0x2400; // the symbol of control character c is at + c
constexpr char16_t SymbolForDelete = 0x2421;

} // namespace

QString ShownName(const std::string& bytes) {
    QString text = QFile::decodeName(QByteArray::fromStdString(bytes));
    for (QChar& c : text) {
        if (c == u'\n')
            c = SymbolForNewline;
        else if (c < u' ')
            c = static_cast<char16_t>(ControlPictures + c.unicode());
        else if (c == u'\x7f')
            c = SymbolForDelete;
    }
    return text;
}
