#include <iostream>

#include "app/AppStartup.h"
#include "app/InformationOptions.h"
#include "app/VelmoraApplication.h"

int main(int argc, char** argv)
{
    if (const auto answered = velmora::app::answerInformationOptions(argc, argv, std::cout, std::cerr))
        return *answered;
    velmora::app::VelmoraApplication application(argc, argv);
    return velmora::app::runVelmora(application);
}
