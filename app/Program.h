#pragma once

#include "app/TileTable.h"

#include <QObject>
#include <QPointer>

#include <memory>

class Form1;
class Form2;

// Owns the windows and carries out what the user asks for. A window is
// "loaded" while its object exists; unloading destroys it, so the next use
// starts from its design state.
class Program : public QObject {
    Q_OBJECT
public:
    // Settings that must be made before the QApplication exists.
    static void prepareApplication();

    // Loads and shows the launcher.
    Program();
    ~Program() override;

    Form1& launcher() { return *form1_; }
    // The canvas while it is loaded, else nullptr.
    Form2* canvas() const;

    // Stops the running test, unloads the canvas and shows the launcher.
    void ReturnToLauncher();
    // Ends the program at once, whatever is open.
    void End();

private:
    void onTileClicked(const TileSpec& tile);
    // Form2.Show: loads the canvas anew if needed, on the launcher's screen.
    Form2& showCanvas();
    void unloadCanvas();
    void showLauncher();

    std::unique_ptr<Form1> form1_;
    QPointer<Form2> form2_;
};
