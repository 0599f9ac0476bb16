// The file dialog's picture preview: a thumbnail of the picture named in the file-name field,
// in the bottom panel, and on a click a large preview that covers the file list.
//
// The preview makes and owns its five controls (Image_Vorschau, SpeedButton_Vorschau,
// Panel_Vorschau, Image_VorschauGross, CheckBox_Size): the thumbnail and its button in the bottom
// panel, placed under the file-name field; the large panel beside the list, over it, following
// its geometry. The dialog calls update() whenever the file-name field changes, also while the
// large preview is open, which then follows the selection. GUI thread only.
//
// Pictures load on a worker (PreviewLoader); until one arrives the controls show the one before.
// While the large preview is closed only the thumbnail is made (a JPEG decoded at a reduced
// scale); opening it loads the whole picture, with the thumbnail standing in meanwhile.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include "ImagePreviewHost.h"
#include "PreviewLoader.h"

class PictureView;
class QCheckBox;
class QFrame;
class QToolButton;
class QWidget;

class ImagePreview : public QObject {
    Q_OBJECT

  public:
    static constexpr int ButtonWidth = 105;
    static constexpr int ButtonHeight = 25;
    static constexpr int ThumbnailWidth = 102;
    static constexpr int ThumbnailHeight = 22;
    static constexpr int LargeImageMargin = 5;

    ImagePreview(ImagePreviewHost& host, QWidget* bottomPanel, QWidget* list,
                 QWidget* fileNameField);
    ~ImagePreview() override;

    // fileNameText is what the field shows; realPath the file's name on disk.
    void update(const QString& fileNameText, const QByteArray& realPath);
    // The click on the thumbnail's button (a click on the thumbnail lands there too).
    void open();
    void close();
    void CheckBox_SizeClick();

    bool isOpen() const;
    // The last picture loaded; empty before the first.
    QSize pictureSize() const { return pictureSize_; }
    // Whether a picture is being loaded for the last update or opening.
    bool isLoading() const { return loader_.isLoading(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createThumbnail(QWidget* bottomPanel);
    void createLargePreview(QWidget* listParent);
    void requestPicture();
    void showLoaded(const PreviewLoader::Result& loaded);
    void showPicture(const PreviewPicture& picture);
    void hideThumbnail();
    void showThumbnail();
    void applySize();
    void placeButton();
    void followList();

    ImagePreviewHost& host_;
    QWidget* bottomPanel_;
    QWidget* list_;
    QWidget* fileNameField_;
    QSize pictureSize_;
    PreviewLoader loader_;
    // The picture the last update named, as the loader is asked for it.
    PreviewLoader::Request wanted_;
    bool largeHoldsWholePicture_ = false;

    // Controls, named as the language system and the tests find them. Their parents may go
    // first when the dialog closes down.
    QPointer<PictureView> Image_Vorschau;
    QPointer<QToolButton> SpeedButton_Vorschau;
    QPointer<QFrame> Panel_Vorschau;
    QPointer<PictureView> Image_VorschauGross;
    QPointer<QCheckBox> CheckBox_Size;
};
