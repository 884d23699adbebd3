#pragma once

#include "app/read_only_text.h"
#include "app/widgets.h"

#include <QWidget>

// The version window.
class VersionWindow : public QWidget {
    Q_OBJECT
public:
    explicit VersionWindow(QWidget* parent = nullptr);

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;
};

// The version notes shown in the version window.
QString versionNotes();
