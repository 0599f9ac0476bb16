// Covers the screen with the overlay for as long as it lives: every modal window of the
// program is shown inside one, so that leaving by any path, an exception included, uncovers.
//
//     {
//         OverlayCover cover;       // Form_Abdeckung->Cover()
//         dialog.exec();
//     }                             // Form_Abdeckung->Uncover()
#pragma once

class TForm_Abdeckung;

class OverlayCover {
  public:
    // Without an overlay (none made yet) covering does nothing.
    explicit OverlayCover(TForm_Abdeckung* overlay);
    OverlayCover();  // the program's overlay, Form_Abdeckung
    ~OverlayCover();
    OverlayCover(const OverlayCover&) = delete;
    OverlayCover& operator=(const OverlayCover&) = delete;

  private:
    TForm_Abdeckung* overlay_;
};
