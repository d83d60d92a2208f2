#pragma once

#include <QWidget>

// Tallyfold's one window: the batch renamer.
class Rename : public QWidget {
    Q_OBJECT

public:
    explicit Rename(QWidget* parent = nullptr);
};
