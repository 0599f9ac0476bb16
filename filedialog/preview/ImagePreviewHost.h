// What the picture preview needs from the file dialog that hosts it.
#pragma once

#include <QColor>

class ImagePreviewHost {
  public:
    virtual ~ImagePreviewHost() = default;
    // The list takes the details view while the large preview covers it.
    virtual void showListInDetails() = 0;
    // The view of whichever view button is down.
    virtual void restoreListView() = 0;
    // The dialog's top tool row.
    virtual void setToolRowEnabled(bool enabled) = 0;
    virtual void focusList() = 0;
    // Silver or light green, as the file-name field shows.
    virtual QColor fileNameFieldColour() const = 0;
};
