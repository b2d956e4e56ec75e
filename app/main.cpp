#include "app/TrimbenchApp.h"

int main(int argc, char** argv) {
    tb::app::CTrimbenchApp app(argc, argv);
    return app.Run();
}
