#include "pages/PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderPage::PlaceholderPage(const QString& title, QWidget* parent) : QWidget(parent) {
    auto* label = new QLabel(title, this);
    label->setObjectName("pageTitle");
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}
