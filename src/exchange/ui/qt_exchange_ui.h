#pragma once
// The exchange flows' questions and dialogs as Qt message boxes and file dialogs.

#include "exchange/exchange_flow.h"

class QWidget;
class QString;

namespace tavo {

class QtExchangeUi : public ExchangeUi {
public:
    explicit QtExchangeUi(QWidget* parent) : m_pParent(parent) {}
    ~QtExchangeUi() override;

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    bool AskSaveFileName(const FileDialogSpec& spec, std::string& path) override;
    bool AskOpenFileName(const FileDialogSpec& spec, std::string& path) override;
    bool EditMotorParams(EngExportParams& params) override;
    void SetBusy(bool busy) override;

private:
    bool AskFileName(const FileDialogSpec& spec, bool save, std::string& path);
    QWidget* m_pParent;
    int m_nBusy = 0;
};

// The folder the exchange dialogs start in: "Rockets" in the current directory when it
// exists, else the current directory.
QString ExchangeStartFolder();

} // namespace tavo
