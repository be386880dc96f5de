#include "QuillbrookApp.h"

int main(int argc, char** argv) {
    return qb::QuillbrookApp::run(argc, argv);
}
