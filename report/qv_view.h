#pragma once

// The preview control: shows a PDF document's pages with scrolling, zoom and
// the page count.

#include <QString>
#include <QWidget>

class QLabel;
class QPdfDocument;
class QPdfView;

namespace tabulon {

class QvView : public QWidget {
    Q_OBJECT
public:
    explicit QvView(QWidget* parent = nullptr);

    // Shows that document (an empty or unreadable file shows no pages).
    void ViewFile(const QString& path);
    QString ViewedFile() const { return file_; }
    int PageCount() const;
    QPdfDocument& Document() { return *document_; }
    QPdfView& View() { return *view_; }

    void ZoomIn();
    void ZoomOut();

private:
    void ShowStatus();

    QPdfDocument* document_;
    QPdfView* view_;
    QLabel* status_;
    QString file_;
};

} // namespace tabulon
