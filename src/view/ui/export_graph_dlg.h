#pragma once
// File > Export Graph: the file format and the picture's size, the window's own or one
// typed in. The file is chosen afterwards, with the format's extension.

#include <QDialog>

#include "view/core/graph_export.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace tavo {

class CExportGraphDlg : public QDialog {
public:
    // The window's client size is the first choice of size.
    CExportGraphDlg(int windowWidth, int windowHeight, QWidget* parent = nullptr);

    GraphFileFormat Format() const;
    int ChosenWidth() const;
    int ChosenHeight() const;

    QComboBox* format = nullptr;
    QRadioButton* windowSize = nullptr;
    QRadioButton* otherSize = nullptr;
    QSpinBox* width = nullptr;
    QSpinBox* height = nullptr;

private:
    int m_windowWidth, m_windowHeight;
};

} // namespace tavo
