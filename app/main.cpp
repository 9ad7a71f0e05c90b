#include "app/TonvexCore.h"

int main(int, char**) {
    return TonvexCore::Instance().Run();
}
