// reportprint: prints a flight's motor report through the report window's own print
// path to a PDF file, and saves a picture of the window, without the menu and the print
// dialog. Used to make the pictures in docs/.
//
//   reportprint FLIGHT C1 C2 OUT.pdf [WINDOW.png]

#include <iostream>
#include <string>

#include <QApplication>
#include <QPrinter>

#include "doc/tavokit_doc.h"
#include "prompt/user_prompt.h"
#include "reports/ui/motor_report_dlg.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::cerr << "usage: reportprint FLIGHT C1 C2 OUT.pdf [WINDOW.png]\n";
        return 2;
    }
    QApplication app(argc, argv);
    tavo::CTAVOkitDoc doc;
    tavo::FileError error;
    if (!doc.OnOpenDocument(argv[1], error)) {
        std::cerr << error.message << "\n";
        return 1;
    }
    doc.m_nCursor1 = std::atoi(argv[2]);
    doc.m_nCursor2 = std::atoi(argv[3]);
    tavo::AnsweringPrompt prompt;
    tavo::CMotorReportDlg dialog(nullptr, nullptr, &prompt);
    dialog.m_pDoc = &doc;
    if (!dialog.ComputeMotorReport()) {
        std::cerr << prompt.Message() << "\n";
        return 1;
    }
    if (argc == 6 && !dialog.grab().save(QString::fromLocal8Bit(argv[5]))) {
        std::cerr << "could not save " << argv[5] << "\n";
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(argv[4]));
    if (!dialog.PrintMotorReportTo(printer)) {
        std::cerr << "could not print to " << argv[4] << "\n";
        return 1;
    }
    std::cout << "window " << dialog.width() << " x " << dialog.height() << ", "
              << dialog.Results().m_strMotorClass << "\n";
    return 0;
}
