// The precompiled header of the test programs is made from this file.
