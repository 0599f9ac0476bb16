#include "OverlayCover.h"

#include "TForm_Abdeckung.h"

OverlayCover::OverlayCover(TForm_Abdeckung* overlay) : overlay_(overlay) {
    if (overlay_ != nullptr) {
        overlay_->Cover();
    }
}

OverlayCover::OverlayCover() : OverlayCover(Form_Abdeckung) {}

OverlayCover::~OverlayCover() {
    if (overlay_ != nullptr) {
        overlay_->Uncover();
    }
}
