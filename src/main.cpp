// marrowby: delivery-point barcodes for mailing lists and envelopes, tray and sack tags.
#include "app/Application.h"
#include "mailinglist/LargeBlocks.h"

int main(int argc, char** argv) {
    marrowby::KeepLargeBlocksMapped();
    return marrowby::RunMarrowby(argc, argv);
}
