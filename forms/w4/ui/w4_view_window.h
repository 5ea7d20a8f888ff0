#pragma once
// The Form W-4 view (frmW4): the certificate drawn from the W-4 view logic,
// printed through the print dialog or saved as PDF.

#include <QWidget>

#include "app/app_context.h"
#include "forms/w4/logic/w4_view_model.h"
#include "ui/document_output.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace wm::w4 {

// The certificate on screen: a sheet of paper keeping the form's
// proportions. The line 7 text and the rest of the sheet answer the mouse.
class CertificateWidget final : public QWidget {
    Q_OBJECT
public:
    explicit CertificateWidget(QWidget* parent = nullptr);
    void setCertificate(const Certificate& c);
    const Certificate& certificate() const { return cert_; }

    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Where a point of the certificate (in points) is on the widget.
    QPointF toWidget(const QPointF& certificatePoint) const;

signals:
    void line7Clicked();
    void line7DoubleClicked();
    void sheetDoubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QRectF certificateRect() const;
    bool onLine7(const QPointF& pos) const;

    Certificate cert_;
    bool doubleClicked_ = false;
};

class W4ViewWindow final : public QWidget {
    Q_OBJECT
public:
    explicit W4ViewWindow(AppContext& ctx, QWidget* parent = nullptr);

    const W4View& model() const { return model_; }
    CertificateWidget* sheet() const { return sheet_; }

    // Lines 5 and 6 as the worksheets last handed them over.
    void takeLines();
    // Line 5 as it is, line 6 in the "Currency" format.
    void setLine5(const QString& text);
    void setLine6(const QString& text);

    // The print dialog, then the certificate on the chosen printer.
    void print();
    // Asks for a file name, then writes the certificate there.
    void saveAsPdf();
    // Writes the certificate to `path`; a message naming the file and the
    // reason tells when it cannot.
    bool savePdf(const QString& path);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void setExempt(bool shown);
    void refresh();
    // The certificate as the printer and the PDF file take it.
    Printable printable() const;

    AppContext& ctx_;
    W4View model_;
    DocumentOutput output_;
    CertificateWidget* sheet_ = nullptr;
    QCheckBox* chkExempt_ = nullptr;
    QLabel* lblPrint_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    bool unloaded_ = false;  // the main window may close a closed form again
};

// The calculator comes up when the Form W-4 view or the personal
// information form goes, unless the user went on to another form or the
// program is ending. Call once per unload.
void showMainAfterUnload(AppContext& ctx, QWidget* form);

}  // namespace wm::w4
