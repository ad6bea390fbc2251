// reportprint: prints a flight's motor report through the report window's own print
// path to a PDF file, and saves a picture of the window, without the menu and the print
// dialog. Used to make the pictures in docs/.
//
//   reportprint FLIGHT C1 C2 OUT.pdf [WINDOW.png] [--net] [--compare FILE.eng]

#include <iostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QPrinter>

#include "doc/tavokit_doc.h"
#include "prompt/user_prompt.h"
#include "reports/ui/motor_report_dlg.h"

namespace {

// Answers yes and hands over the one motor file to compare with.
class ToolPrompt : public tavo::AnsweringPrompt {
public:
    std::string motorFile;
    bool ChooseFile(const tavo::FileChoice&, std::string& path) override {
        path = motorFile;
        return !path.empty();
    }
};

} // namespace

int main(int argc, char** argv) {
    ToolPrompt prompt;
    bool net = false;
    std::vector<char*> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--net")
            net = true;
        else if (arg == "--compare" && i + 1 < argc)
            prompt.motorFile = argv[++i];
        else
            positional.push_back(argv[i]);
    }
    if (positional.size() != 4 && positional.size() != 5) {
        std::cerr << "usage: reportprint FLIGHT C1 C2 OUT.pdf [WINDOW.png] [--net] "
                     "[--compare FILE.eng]\n";
        return 2;
    }
    argc = static_cast<int>(positional.size()) + 1;
    for (std::size_t k = 0; k < positional.size(); ++k)
        argv[k + 1] = positional[k];
    QApplication app(argc, argv);
    tavo::CTAVOkitDoc doc;
    tavo::FileError error;
    if (!doc.OnOpenDocument(argv[1], error)) {
        std::cerr << error.message << "\n";
        return 1;
    }
    tavo::CMotorReportDlg dialog(nullptr, nullptr, &prompt);
    dialog.m_pDoc = &doc;
    dialog.m_range = {std::atoi(argv[2]), std::atoi(argv[3])};
    if (!dialog.ComputeMotorReport()) {
        std::cerr << prompt.Message() << "\n";
        return 1;
    }
    if (net)
        dialog.SetThrustKind(tavo::ThrustKind::Net);
    if (!prompt.motorFile.empty()) {
        dialog.CompareWithMotorFile();
        if (!dialog.Certified()) {
            std::cerr << "could not compare with " << prompt.motorFile << ": " << prompt.Message()
                      << "\n";
            return 1;
        }
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
