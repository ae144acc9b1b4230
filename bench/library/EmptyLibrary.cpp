// Nothing: the baseline a load/unload cycle of the tag library is compared with.
