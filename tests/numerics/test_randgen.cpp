// The generator component: its published properties, and draws that follow its tabulated
// distribution.

#include "numerics/RandGen.h"
#include "numerics/Uniform.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

TEST(RandGen, PublishesItsPropertiesAndDrawsLikeItsCore) {
    TRandGen gen;
    gen.setObjectName("RandGen");
    const QMetaObject* mo = gen.metaObject();
    for (const char* name : {"LowBorder", "HighBorder", "Resolution"}) {
        EXPECT_GE(mo->indexOfProperty(name), 0) << name;
    }
    EXPECT_EQ(gen.property("Resolution").toInt(), 500);
    EXPECT_TRUE(gen.setProperty("Resolution", 3));
    EXPECT_EQ(gen.Resolution(), 10);
    gen.SetResolution(500);
    gen.SetLowBorder(0.0);
    gen.SetHighBorder(20.0);
    gen.SetNormalDistribution(8.0, 2.5);
    UniformSeed = 1234;
    EXPECT_EQ(gen.RandomValue(), 6.9509953236673026);
    EXPECT_EQ(gen.DistTable()[200], 1.0);
}
