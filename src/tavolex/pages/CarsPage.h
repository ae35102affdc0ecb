#pragma once

#include <QHash>

#include <array>

#include "pages/GraphicsPage.h"

class QLabel;
class QLineEdit;

namespace tavolex::editor {

// The Cars tab: the current team's livery in both variants, and where the
// car numbers go on it.
class CarsPage : public GraphicsPage {
    Q_OBJECT

  public:
    CarsPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);
    ~CarsPage() override;

    // A number position field by its dialog number (400-405, 450-461).
    QLineEdit* numberField(int field) const;
    QRadioButton* carButton(int car) const { return carButtons_[static_cast<std::size_t>(car)]; }
    int selectedCar() const { return car_; }
    // The field being edited (its number, + 1000 while it has lost the focus), or 0.
    int editedField() const { return editedField_; }
    // The outlines the picture shows for a blink phase.
    std::vector<QRect> outlines(bool blink) const;

  public slots:
    void selectCar(int car);
    void importNumbers();
    void exportNumbers();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leavingTeam() override;
    void refreshOwnControls() override;
    void applyOwnRules(const GraphicControlRules& rules) override;
    PictureZoom zoomAt(const QPoint& position) const override;

  private:
    QWidget* makeNumberGroup();
    void fillFields();
    void storeFields();
    void setEditedField(int field);

    QWidget* numberGroup_ = nullptr;
    std::array<QLineEdit*, 18> fields_{};
    // The number of the field each line edit holds, for the focus events.
    QHash<const QObject*, int> fieldOf_;
    std::array<QRadioButton*, 2> carButtons_{};
    int car_ = 0;
    int editedField_ = 0;
    // The team the fields show; stored into before another team is shown.
    int shownTeam_ = 0;
    bool filling_ = false;
};

} // namespace tavolex::editor
