// marrowby: delivery-point barcodes for mailing lists and envelopes, tray and sack tags.
#include "app/Application.h"

int main(int argc, char** argv) { return marrowby::RunMarrowby(argc, argv); }
