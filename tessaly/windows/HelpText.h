#pragma once

#include <QPlainTextEdit>
#include <string>

// The help text in a window of the kit's own, for a desktop without a viewer for it: read-only,
// scrolling, in a fixed-width font (the text lines its columns up with blanks), closed by
// Escape. It belongs to the window that opened it, and goes with it.
class HelpText : public QPlainTextEdit {
    Q_OBJECT

public:
    HelpText(const QString& text, QWidget& owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Shows `file` in the help window of `owner`, opening one unless it is open already; false when
// the file cannot be read.
bool ShowHelpText(QWidget& owner, const std::string& file);
