// Built only by the test "<library>.refuses_widgets": a logic library links
// Qt Core alone, so this include must fail to compile against it.
#include <QWidget>

int main() {
    return 0;
}
