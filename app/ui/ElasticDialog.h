// The Compress/Decompress window (tool mode 1): new start and end of the
// marked stretch, new levels as maximum and minimum or as amplitude and
// offset, and the three fits. Every change rebuilds the document at once
// (ElasticModel); OK keeps it, Cancel and the close box put the document and
// its markers back as they were when the window opened.
#ifndef ZW_UI_ELASTICDIALOG_H
#define ZW_UI_ELASTICDIALOG_H

#include "ElasticModel.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zw {

struct EditorContext;
class Units;

class ElasticDialog : public QDialog {
    Q_OBJECT
public:
    explicit ElasticDialog(EditorContext& context, QWidget* parent = nullptr);
    ~ElasticDialog() override;

    // Cancel and the close box.
    void reject() override;

private:
    void buildControls();
    Units units() const;
    void showFields();
    void afterChange();
    void Text_X_LostFocus(int index);
    void Text_Y_LostFocus(int index);
    void Opt_Y_Click(int index);
    // A typed number, or nothing (the field then shows its value again).
    std::optional<double> typed(QLineEdit* box) const;

    EditorContext& ctx_;
    std::unique_ptr<ElasticModel> model_;
    bool closing_ = false;

    std::array<QLineEdit*, 2> Text_X{};
    std::array<QLineEdit*, 2> Text_Y{};
    std::array<QLabel*, 2> Label_YLevel{};
    std::array<QRadioButton*, 2> Opt_Y{};
    QLabel* Label_Amp = nullptr;
    QLabel* Label_Offs = nullptr;
    QPushButton* Btn_Length = nullptr;
    QPushButton* Btn_Peak = nullptr;
    QPushButton* Btn_Ampl = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
};

} // namespace zw

#endif // ZW_UI_ELASTICDIALOG_H
