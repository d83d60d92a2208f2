#pragma once

#include <QWidget>
#include <string>

// The window shown while the fixed drives are searched for the game.
class Splash : public QWidget {
    Q_OBJECT

public:
    // `logo` is the full path of the kit's logo picture.
    explicit Splash(const std::string& logo, QWidget* parent = nullptr);
};
