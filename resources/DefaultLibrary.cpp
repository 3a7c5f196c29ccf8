// The default text library and the window pictures are compiled into this
// library as Qt resources; the symbol below keeps the archive non-empty.
void miravelResourcesAnchor() {}
