#pragma once
// "Export motor file": the motor data that heads the exported thrust curve, and the
// number of points. A thin shell over EngExportParams.

#include <functional>
#include <memory>

#include <QDialog>

#include "exchange/eng_export.h"
#include "uikit/qt_user_prompt.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tavo {

class CExportMotorDlg : public QDialog {
public:
    explicit CExportMotorDlg(QWidget* parent = nullptr);

    // Copies the values into the fields.
    void SetParams(const EngExportParams& params);
    // The fields' values; valid after the dialog was accepted.
    const EngExportParams& Params() const { return m_params; }

    // Where refusals go: message boxes over the dialog, unless a test answers instead.
    UserPrompt* prompt = nullptr;

    // The file's impulse and peak beside the measured ones for the points, spacing and
    // thrust chosen, shown under the fields as they change; unset shows nothing.
    std::function<std::string(const EngExportParams&)> preview;
    // Shows the preview for the fields as they stand.
    void UpdatePreview();

    // OK: refuses a number of points that is not a whole number or is below 2, and header
    // fields that would make a file readers refuse (see EngExportFault), and then keeps
    // the dialog open on that field.
    void accept() override;

    // The flight's propellant weight: typing a pre-fire weight fills in the post-fire
    // weight that leaves it, until the post-fire weight is typed by hand.
    float m_fPropellantKg = 0.0f;

    QLineEdit* m_pDesignation;
    QLineEdit* m_pDiameter;
    QLineEdit* m_pLength;
    QLineEdit* m_pDelays;
    QLineEdit* m_pPreFire;
    QLineEdit* m_pPostFire;
    QLineEdit* m_pManufacturer;
    QLineEdit* m_pPoints;
    QComboBox* m_pThrust;  // Motor thrust, Net force (as measured)
    QComboBox* m_pSpacing; // where the curve bends, evenly in time
    QLabel* m_pFigures;

private:
    QLineEdit* FieldEdit(EngField field) const;
    EngExportParams m_params;
    bool m_bPostFireTyped = false;
    std::unique_ptr<QtUserPrompt> m_ownPrompt;
};

} // namespace tavo
