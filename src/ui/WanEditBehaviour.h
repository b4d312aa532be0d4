#pragma once

#include "model/QvWan.h"
#include "ui/WindowPorts.h"

#include <string>

// What the WAN line dialog does, whatever toolkit draws it. Save writes the
// line only once every check has passed; Cancel and the close box leave it
// untouched.
class TWanEditBehaviour final {
public:
    explicit TWanEditBehaviour(TWanEditPort& window) : Window(window) {}
    TWanEditBehaviour(const TWanEditBehaviour&) = delete;
    TWanEditBehaviour& operator=(const TWanEditBehaviour&) = delete;

    int EditMode = kAddMode;
    TQvWan* Wan = nullptr;               // not owned
    const TQvWanList* WanList = nullptr; // not owned, only read

    void SetWan(TQvWan& wan);
    void LoadFields();
    bool CheckInput();
    bool IsNameUnique(const std::string& name) const;

    void btnSaveClick();
    void btnCancelClick();

private:
    TWanEditPort& Window;
};
