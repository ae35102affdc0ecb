#pragma once

#include <QWidget>

// The page of a tab whose editor is not built yet: its title and nothing else.
class PlaceholderPage : public QWidget {
    Q_OBJECT

public:
    PlaceholderPage(const QString& title, QWidget* parent = nullptr);
};
