#include "view/ui/export_graph_dlg.h"

#include <algorithm>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "uikit/dlg_common.h"

namespace tavo {

namespace {
constexpr GraphFileFormat kFormats[3] = {GraphFileFormat::Png, GraphFileFormat::Svg,
                                         GraphFileFormat::Pdf};
} // namespace

CExportGraphDlg::CExportGraphDlg(int windowWidth, int windowHeight, QWidget* parent)
    : QDialog(parent), m_windowWidth(windowWidth), m_windowHeight(windowHeight) {
    setWindowTitle(QStringLiteral("Export Graph"));
    format = new QComboBox;
    for (const GraphFileFormat f : kFormats)
        format->addItem(QStringLiteral("%1 (*.%2)")
                            .arg(QString::fromLatin1(GraphFormatFilter(f)),
                                 QString::fromLatin1(GraphFormatExtension(f))));
    windowSize = new QRadioButton(
        QStringLiteral("&Window size (%1 x %2)").arg(windowWidth).arg(windowHeight));
    otherSize = new QRadioButton(QStringLiteral("&Other size:"));
    windowSize->setChecked(true);
    width = new QSpinBox;
    height = new QSpinBox;
    for (QSpinBox* box : {width, height}) {
        box->setRange(kMinGraphSide, kMaxGraphSide);
        box->setEnabled(false);
    }
    width->setValue(std::clamp(windowWidth, kMinGraphSide, kMaxGraphSide));
    height->setValue(std::clamp(windowHeight, kMinGraphSide, kMaxGraphSide));
    connect(otherSize, &QRadioButton::toggled, this, [this](bool on) {
        width->setEnabled(on);
        height->setEnabled(on);
    });
    auto* other = new QHBoxLayout;
    other->addWidget(otherSize);
    other->addWidget(width);
    other->addWidget(new QLabel(QStringLiteral("x")));
    other->addWidget(height);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Format:"), format);
    form->addRow(QStringLiteral("&Size:"), windowSize);
    form->addRow(QString(), other);
    form->addRow(QString(), new QLabel(QStringLiteral("A PDF is a page of that size.")));
    LayOutWithOkCancel(*this, form);
}

GraphFileFormat CExportGraphDlg::Format() const {
    const int i = format->currentIndex();
    return i >= 0 && i < 3 ? kFormats[i] : GraphFileFormat::Png;
}

int CExportGraphDlg::ChosenWidth() const {
    return windowSize->isChecked() ? m_windowWidth : width->value();
}

int CExportGraphDlg::ChosenHeight() const {
    return windowSize->isChecked() ? m_windowHeight : height->value();
}

} // namespace tavo
