#include "app/AppStartup.h"
#include "app/VelmoraApplication.h"

int main(int argc, char** argv)
{
    velmora::app::VelmoraApplication application(argc, argv);
    return velmora::app::runVelmora(application);
}
