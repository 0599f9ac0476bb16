#include "ImagePreview.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QToolButton>
#include <QtMath>
#include <initializer_list>

#include "FileNameRules.h"
#include "PictureLoader.h"
#include "PictureView.h"

ImagePreview::ImagePreview(ImagePreviewHost& host, QWidget* bottomPanel, QWidget* list,
                           QWidget* fileNameField)
    : host_(host),
      bottomPanel_(bottomPanel),
      list_(list),
      fileNameField_(fileNameField),
      loader_([this](const PreviewLoader::Result& loaded) { showLoaded(loaded); }) {
    createThumbnail(bottomPanel);
    createLargePreview(list->parentWidget());
    // The button follows the field's left edge, the large panel the list.
    for (QObject* watched : std::initializer_list<QObject*>{fileNameField, bottomPanel,
                                                            fileNameField->parentWidget(), list}) {
        watched->installEventFilter(this);
    }
    placeButton();
    followList();
}

ImagePreview::~ImagePreview() {
    for (QWidget* control :
         std::initializer_list<QWidget*>{Image_Vorschau, SpeedButton_Vorschau, Panel_Vorschau}) {
        delete control;  // null once its parent has deleted it
    }
}

void ImagePreview::createThumbnail(QWidget* bottomPanel) {
    SpeedButton_Vorschau = new QToolButton(bottomPanel);
    SpeedButton_Vorschau->setObjectName(QStringLiteral("SpeedButton_Vorschau"));
    SpeedButton_Vorschau->setFixedSize(ButtonWidth, ButtonHeight);
    SpeedButton_Vorschau->setFocusPolicy(Qt::NoFocus);
    SpeedButton_Vorschau->hide();
    // Made after the button, so that it lies above it; clicks pass through to the button.
    Image_Vorschau = new PictureView(bottomPanel);
    Image_Vorschau->setObjectName(QStringLiteral("Image_Vorschau"));
    Image_Vorschau->setFixedSize(ThumbnailWidth, ThumbnailHeight);
    Image_Vorschau->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image_Vorschau->hide();
    connect(SpeedButton_Vorschau, &QToolButton::clicked, this, &ImagePreview::open);
}

void ImagePreview::createLargePreview(QWidget* listParent) {
    Panel_Vorschau = new QFrame(listParent);
    Panel_Vorschau->setObjectName(QStringLiteral("Panel_Vorschau"));
    Panel_Vorschau->setAutoFillBackground(true);
    Panel_Vorschau->hide();
    Image_VorschauGross = new PictureView(Panel_Vorschau);
    Image_VorschauGross->setObjectName(QStringLiteral("Image_VorschauGross"));
    CheckBox_Size = new QCheckBox(QStringLiteral("100x120"), Panel_Vorschau);
    CheckBox_Size->setObjectName(QStringLiteral("CheckBox_Size"));
    CheckBox_Size->setFocusPolicy(Qt::NoFocus);
    CheckBox_Size->setAutoFillBackground(true);
    // Both in one cell: the check box stays readable at the top, over the picture.
    auto* layout = new QGridLayout(Panel_Vorschau);
    layout->setContentsMargins(LargeImageMargin, LargeImageMargin, LargeImageMargin,
                               LargeImageMargin);
    layout->addWidget(Image_VorschauGross, 0, 0);
    layout->addWidget(CheckBox_Size, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    connect(CheckBox_Size, &QCheckBox::clicked, this, &ImagePreview::CheckBox_SizeClick);
    connect(Image_VorschauGross, &PictureView::pressed, this, &ImagePreview::close);
}

void ImagePreview::update(const QString& fileNameText, const QByteArray& realPath) {
    const QString extension = FileNameRules::extensionOf(fileNameText).toLower();
    if (!PictureLoader::isCandidate(extension)) {
        loader_.cancel();
        hideThumbnail();
        return;
    }
    const qreal pixelRatio = Image_Vorschau->devicePixelRatioF();
    wanted_.nativePath = realPath;
    wanted_.extension = extension;
    wanted_.thumbnailBox =
        QSize(qCeil(ThumbnailWidth * pixelRatio), qCeil(ThumbnailHeight * pixelRatio));
    requestPicture();
}

// The whole picture only while the large preview shows it.
void ImagePreview::requestPicture() {
    PreviewLoader::Request request = wanted_;
    request.withFull = isOpen();
    loader_.load(request);
}

void ImagePreview::showLoaded(const PreviewLoader::Result& loaded) {
    if (!loaded) {
        hideThumbnail();
        return;
    }
    showPicture(*loaded);
    if (Panel_Vorschau->isHidden() && Image_Vorschau->isHidden()) {
        showThumbnail();
    }
}

void ImagePreview::showPicture(const PreviewPicture& picture) {
    Image_Vorschau->setPicture(picture.thumbnail);
    largeHoldsWholePicture_ = !picture.full.isNull();
    Image_VorschauGross->setPicture(largeHoldsWholePicture_ ? picture.full : picture.thumbnail,
                                    picture.size);
    pictureSize_ = picture.size;
    CheckBox_Size->setText(
        QStringLiteral("%1x%2").arg(pictureSize_.width()).arg(pictureSize_.height()));
}

void ImagePreview::open() {
    host_.setToolRowEnabled(false);
    hideThumbnail();
    CheckBox_Size->setChecked(true);
    applySize();
    QPalette palette = Panel_Vorschau->palette();
    palette.setColor(QPalette::Window, host_.fileNameFieldColour());
    Panel_Vorschau->setPalette(palette);
    followList();
    Panel_Vorschau->show();
    Panel_Vorschau->raise();
    host_.showListInDetails();
    host_.focusList();
    Panel_Vorschau->update();
    if (loader_.isLoading() || !largeHoldsWholePicture_) {
        requestPicture();
    }
}

void ImagePreview::CheckBox_SizeClick() {
    applySize();
    host_.focusList();
}

void ImagePreview::close() {
    if (isOpen()) {
        host_.restoreListView();
        Panel_Vorschau->hide();
        showThumbnail();
        host_.setToolRowEnabled(true);
    }
    host_.focusList();
    list_->update();
}

bool ImagePreview::isOpen() const {
    return !Panel_Vorschau->isHidden();
}

void ImagePreview::hideThumbnail() {
    Image_Vorschau->hide();
    SpeedButton_Vorschau->hide();
}

void ImagePreview::showThumbnail() {
    SpeedButton_Vorschau->show();
    Image_Vorschau->show();
}

// Ticked: the picture at its own size; unticked: fitted into the panel.
void ImagePreview::applySize() {
    Image_VorschauGross->setFitted(!CheckBox_Size->isChecked());
}

// Vertically centred in the bottom panel; the thumbnail one pixel inside the button.
void ImagePreview::placeButton() {
    const QPoint field = bottomPanel_->mapFrom(
        bottomPanel_->window(), fileNameField_->mapTo(fileNameField_->window(), QPoint(0, 0)));
    const QPoint button(field.x(), (bottomPanel_->height() - ButtonHeight) / 2);
    SpeedButton_Vorschau->move(button);
    Image_Vorschau->move(button + QPoint(1, 1));
}

void ImagePreview::followList() {
    Panel_Vorschau->setGeometry(list_->geometry());
}

bool ImagePreview::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool geometry = type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show;
    if (geometry && watched == list_) {
        followList();
    } else if (geometry) {
        placeButton();
    }
    return QObject::eventFilter(watched, event);
}
