#pragma once

// The preview control: shows a PDF document's pages with scrolling, zoom, the
// page on screen in a page box (a page number typed there and Return go to
// that page) and the page count. PgUp/PgDn, Home/End anywhere in its window go
// a page back or on, to the first or the last page; Ctrl with the mouse wheel
// zooms. It keeps a private copy of the document it was given, so
// what it shows and prints stays that document whatever later happens to the
// file (another run printing into the same name, for one).

#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QSpinBox;
class QPdfDocument;
class QPdfView;
class QTemporaryFile;

namespace tabulon {

class QvView : public QWidget {
    Q_OBJECT
public:
    explicit QvView(QWidget* parent = nullptr);
    ~QvView() override;

    // Shows that document (an empty or unreadable file shows no pages).
    void ViewFile(const QString& path);
    QString ViewedFile() const { return file_; }
    // The file holding the document shown: the private copy, or the viewed
    // file itself when no copy could be made.
    QString ShownFile() const;
    int PageCount() const;
    QPdfDocument& Document() { return *document_; }
    QPdfView& View() { return *view_; }

    void ZoomIn();
    void ZoomOut();
    // The page on screen, 0 for the first; -1 without a document.
    int CurrentPage() const;
    // Shows that page (0 for the first), kept within the document.
    void GoToPage(int page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddPageKeys();
    void SetZoom(qreal factor);
    void ShowStatus();

    QPdfDocument* document_;
    QPdfView* view_;
    QSpinBox* page_;
    QLabel* status_;
    QString file_;
    std::unique_ptr<QTemporaryFile> copy_;
};

} // namespace tabulon
